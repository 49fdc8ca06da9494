SELECT co_mes, co_tipoID, co_cliente, co_estable, fe_emision, nu_comprob, co_comprob, mo_base_NoIva, mo_base_0,
       mo_base, co_iva, mo_iva, mo_reten_IVA, mo_reten_IR
FROM tbAT_Ventas ORDER BY id_reg;
SELECT co_cliente, co_estable, co_comprob, co_IRcodigo, mo_IRbase, va_IRporc, mo_IRmonto FROM tbAT_Ventas_IR ORDER BY id_reg;
SELECT count(*) FROM tbAT_Ventas_x_Acumular;
