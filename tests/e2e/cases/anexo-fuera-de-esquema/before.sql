-- An annex whose stored rows the authority's schema refuses: every sale of May is of type 41, so
-- ventasEstablecimiento has no ventaEst. The file is kept, with no success claimed.
INSERT INTO tbAT_Ventas (co_empresa, co_mes, co_anio, co_tipoID, co_cliente, ds_cliente, co_estable, fe_emision,
  nu_comprob, co_comprob, mo_base_NoIva, mo_base_0, mo_base, mo_iva, mo_reten_IVA, mo_reten_IR, st_regis)
VALUES ('1792045185001', '05', '2013', '04', '1790011674001', 'Cliente', '001', '2013-05-20', 2, '41', 0, 0, 80,
  9.6, 0, 0, 'A');
