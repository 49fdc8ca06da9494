-- A former export of March, replaced by the year's run, and one of the year before, kept.
INSERT INTO tbAT_Exporta (co_empresa, co_mes, co_anio, co_Transacc, nu_secu) VALUES
  ('1792045185001', '03', '2013', '1', '000000001'),
  ('1792045185001', '03', '2012', '1', '000000002');
