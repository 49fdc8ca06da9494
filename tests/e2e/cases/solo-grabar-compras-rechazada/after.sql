SELECT id_reg, co_tipoID, co_provee, co_comprob, nu_secu, mo_base, co_FormaPago FROM tbAT_Cmprs ORDER BY id_reg;
SELECT co_provee, nu_secu, co_IRcodigo, mo_IRbase, va_IRporc, mo_IRmonto FROM tbAT_Cmprs_IR ORDER BY id_reg;
SELECT count(*) FROM tbAT_Cmprs_RE;
