-- The period's former row, and rows of another month, another company and another year.
INSERT INTO tbAT_CmptsAnu (co_empresa, co_mes, co_anio, co_comprob, nu_secu_ini) VALUES
  ('1792045185001', '05', '2013', '01', '000000001'),
  ('1792045185001', '04', '2013', '01', '000000002'),
  ('0992314702001', '05', '2013', '01', '000000003'),
  ('1792045185001', '05', '2012', '01', '000000004');
