-- The period's former export, replaced by the sheet, and one of April, kept.
INSERT INTO tbAT_Exporta (co_empresa, co_mes, co_anio, co_Transacc, nu_secu) VALUES ('1792045185001', '05', '2013', '1', '000000001');
INSERT INTO tbAT_Exporta (co_empresa, co_mes, co_anio, co_Transacc, nu_secu) VALUES ('1792045185001', '04', '2013', '1', '000000002');
