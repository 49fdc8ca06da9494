-- The period's former row stays; the database then refuses every insert.
INSERT INTO tbAT_CmptsAnu (co_empresa, co_mes, co_anio, co_comprob, nu_secu_ini) VALUES
  ('1792045185001', '05', '2013', '01', '000000001');
CREATE TRIGGER rechaza BEFORE INSERT ON tbAT_CmptsAnu BEGIN SELECT RAISE(ABORT, 'base de datos de solo lectura'); END;
