-- Income-tax withholding codes: PARTIAL. Rates of 2013-2014 from a partial public list (not
-- authoritative), plus the codes 344, 345 and 346 that the checks name (free rate). One validity
-- window each; a later window is a new row with its own fe_inicio.
-- st_ingreso 'N': the rate is fixed and must be used; 'S': the rate is entered freely.
INSERT INTO tbcttgCoRetenIR (co_reten, ds_reten, va_reten, fe_inicio, fe_fin, st_ingreso, st_default) VALUES
  ('302', 'EN RELACION DE DEPENDENCIA QUE SUPERA O NO LA BASE DESGRAVADA', 0, '2013-01-01', '2014-12-31', 'S', 'A'),
  ('303', 'HONORARIOS PROFESIONALES', 10, '2013-01-01', '2014-12-31', 'N', 'A'),
  ('304', 'PREDOMINA EL INTELECTO', 8, '2013-01-01', '2014-12-31', 'N', 'A'),
  ('307', 'PREDOMINA MANO DE OBRA', 2, '2013-01-01', '2014-12-31', 'N', 'A'),
  ('308', 'ENTRE SOCIEDADES', 2, '2013-01-01', '2014-12-31', 'N', 'A'),
  ('309', 'PUBLICIDAD Y COMUNICACION', 1, '2013-01-01', '2014-12-31', 'N', 'A'),
  ('310', 'TRANSPORTE PRIVADO DE PASAJEROS O SERVICIO PUBLICO O PRIVADO DE CARGA', 1, '2013-01-01', '2014-12-31', 'N', 'A'),
  ('312', 'TRANSFERENCIA DE BIENES MUEBLES DE NATURALEZA CORPORAL', 1, '2013-01-01', '2014-12-31', 'N', 'A'),
  ('320', 'ARRENDAMIENTO BIENES INMUEBLES', 8, '2013-01-01', '2014-12-31', 'N', 'A'),
  ('322', 'SEGUROS Y REASEGUROS (PRIMAS Y CESIONES)', 1, '2013-01-01', '2014-12-31', 'N', 'A'),
  ('332', 'PAGOS DE BIENES O SERVICIOS NO SUJETOS A RETENCION', 0, '2013-01-01', '2014-12-31', 'N', 'A'),
  ('334', 'POR COMPRAS CON TARJETAS DE CREDITO', 0, '2013-01-01', '2014-12-31', 'N', 'A'),
  ('340', 'APLICABLES EL 1%', 1, '2013-01-01', '2014-12-31', 'N', 'A'),
  ('341', 'APLICABLES EL 2%', 2, '2013-01-01', '2014-12-31', 'N', 'A'),
  ('342', 'APLICABLES EL 8%', 8, '2013-01-01', '2014-12-31', 'N', 'A'),
  ('344', 'OTRAS RETENCIONES, OTROS PORCENTAJES', 0, '2013-01-01', '2014-12-31', 'S', 'A'),
  ('345', 'DIVIDENDOS (TABLA DE DIVIDENDOS)', 0, '2013-01-01', '2014-12-31', 'S', 'A'),
  ('346', 'DIVIDENDOS', 0, '2013-01-01', '2014-12-31', 'S', 'A');
