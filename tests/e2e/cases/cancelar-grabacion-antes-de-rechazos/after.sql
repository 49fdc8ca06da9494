SELECT co_empresa, co_mes, co_anio, co_comprob, nu_serie, nu_secu_ini, nu_secu_fin, nu_autoriza, fe_anula,
       st_regis, ds_campo1, ds_campo2
FROM tbAT_CmptsAnu ORDER BY co_empresa, co_anio, co_mes, nu_secu_ini;
