-- Three sales of May whose clients' identities the schema refuses (two characters each): the
-- verdict names each of them by its detail and its client, with every message about it.
INSERT INTO tbAT_Ventas (co_empresa, co_mes, co_anio, co_tipoID, co_cliente, ds_cliente, co_estable, fe_emision,
  nu_comprob, co_comprob, mo_base_NoIva, mo_base_0, mo_base, mo_iva, mo_reten_IVA, mo_reten_IR, st_regis)
VALUES ('1792045185001', '05', '2013', '04', 'X1', 'Cliente uno', '001', '2013-05-20', 1, '18', 0, 0, 80, 9.6, 0, 0,
  'A'),
  ('1792045185001', '05', '2013', '04', 'X2', 'Cliente dos', '001', '2013-05-21', 1, '18', 0, 0, 50, 6, 0, 0, 'A'),
  ('1792045185001', '05', '2013', '04', 'X3', 'Cliente tres', '001', '2013-05-22', 1, '18', 0, 0, 20, 2.4, 0, 0,
  'A');
