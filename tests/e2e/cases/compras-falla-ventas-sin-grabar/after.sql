SELECT co_empresa, co_mes, co_anio, co_cliente, ds_cliente, mo_base FROM tbAT_Ventas ORDER BY id_reg;
SELECT count(*) FROM tbAT_Ventas_IR;
SELECT count(*) FROM tbAT_Cmprs;
