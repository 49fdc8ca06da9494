-- The purchases table lacks a column its store writes, so the purchases store fails whole; the
-- sales, ticked after it, must keep the period's former sale.
INSERT INTO tbAT_Ventas (co_empresa, co_mes, co_anio, co_tipoID, co_cliente, ds_cliente, co_estable, fe_emision,
  nu_comprob, co_comprob, mo_base_NoIva, mo_base_0, mo_base, mo_iva, mo_reten_IVA, mo_reten_IR, st_regis)
VALUES ('1792045185001', '05', '2013', '04', '1790011674001', 'Venta anterior', '001', '2013-05-20', 2, '18', 0,
  0, 80, 9.6, 0, 0, 'A');
ALTER TABLE tbAT_Cmprs DROP COLUMN co_FormaPago;
