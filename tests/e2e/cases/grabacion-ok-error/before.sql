-- The database refuses the second row of the sheet.
CREATE TRIGGER rechaza BEFORE INSERT ON tbAT_CmptsAnu WHEN NEW.nu_secu_ini = '000000115'
BEGIN SELECT RAISE(ABORT, 'secuencial rechazado'); END;
