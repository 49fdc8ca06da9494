SELECT co_provee, nu_secu, mo_base FROM tbAT_Cmprs ORDER BY id_reg;
SELECT co_provee, nu_secu, co_IRcodigo, mo_IRbase FROM tbAT_Cmprs_IR ORDER BY id_reg;
