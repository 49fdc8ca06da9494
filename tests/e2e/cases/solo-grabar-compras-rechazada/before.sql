-- The database refuses the purchase of the reimbursement voucher 000000002.
CREATE TRIGGER rechaza BEFORE INSERT ON tbAT_Cmprs WHEN NEW.nu_secu = '000000002'
BEGIN SELECT RAISE(ABORT, 'compra rechazada'); END;
