SELECT co_comprob, nu_serie, nu_secu, mo_base_0, mo_base, mo_iva, mo_ret_1, mo_ret_2, mo_ICEmonto
FROM tbAT_Cmprs ORDER BY id_reg;
SELECT co_IRcodigo, mo_IRbase, va_IRporc, mo_IRmonto FROM tbAT_Cmprs_IR ORDER BY id_reg;
