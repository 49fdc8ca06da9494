-- The cancelled documents' store is cancelled at its third refused row; the exports are stored
-- after it with every row refused. The pass's status then reads as refused rows, but the run was
-- cancelled: the cancelled documents keep the period's former row.
INSERT INTO tbAT_CmptsAnu (co_empresa, co_mes, co_anio, co_comprob, nu_serie, nu_secu_ini, nu_secu_fin, nu_autoriza,
                           fe_anula, st_regis) VALUES
  ('1792045185001', '05', '2013', '01', '001001', '000000001', '000000001', '1110123456', '2013-05-02', 'A');
CREATE TRIGGER rechaza BEFORE INSERT ON tbAT_CmptsAnu BEGIN SELECT RAISE(ABORT, 'comprobante rechazado'); END;
CREATE TRIGGER rechaza_exportacion BEFORE INSERT ON tbAT_Exporta BEGIN SELECT RAISE(ABORT, 'exportacion rechazada'); END;
