-- DEMO VALUES, not the legal tables: income-tax brackets for 2013 and dividend brackets, in the
-- shape the tax computations read (both bounds inclusive; tax = mo_Imp_FB + (base - mo_FraBasica)
-- x mo_imp_FE / 100). A site loads the published tables of each year.
INSERT INTO tbRDEP_Tabla (co_anio, mo_FraBasica, mo_FraExced, mo_Imp_FB, mo_imp_FE) VALUES
  ('2013', 0, 10180, 0, 0),
  ('2013', 10180, 12970, 0, 5),
  ('2013', 12970, 16220, 140, 10),
  ('2013', 16220, 19470, 465, 12),
  ('2013', 19470, 38930, 855, 15),
  ('2013', 38930, 58390, 3774, 20),
  ('2013', 58390, 77870, 7666, 25),
  ('2013', 77870, 103810, 12536, 30),
  ('2013', 103810, 999999999, 20318, 35);

INSERT INTO tbDividendos_Tabla (mo_FraBasica, mo_FraExced, mo_Imp_FB, mo_imp_FE) VALUES
  (0, 100000, 0, 1),
  (100000, 200000, 1000, 5),
  (200000, 999999999, 6000, 10);
