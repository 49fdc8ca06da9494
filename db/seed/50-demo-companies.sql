-- Demo companies: two active, one inactive (st_regis other than 'A'). Every RUC and identity
-- number passes the check-digit rule (tests/schema checks them).
INSERT INTO tbEmpresas (nu_ruc, ds_nombre, id_contador, id_gerente, st_regis) VALUES
  ('1792045185001', 'Comercial Andina Demo SA', '1104567894', '1709988776', 'A'),
  ('0992314702001', 'Importadora del Pacifico Demo Cia Ltda', '0918765439', '1712345675', 'A'),
  ('1712345675001', 'Mora Demo Luis Alberto', '1104567894', '1712345675', 'I');

INSERT INTO tbParaSistema (co_empresa, po_iva, po_iess, st_CtrlCmprCmpras, st_CtrlCmprVtas,
                           st_CtrlCmprRet, nu_sus_trib_Cmprs, nu_CoIR_cmprs) VALUES
  ('1792045185001', 12, 9.35, 'N', 'N', 'N', '3', '4'),
  ('0992314702001', 12, 9.35, 'N', 'N', 'N', '3', '4'),
  ('1712345675001', 12, 9.35, 'N', 'N', 'N', '3', '4');
