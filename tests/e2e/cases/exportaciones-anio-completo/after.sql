SELECT co_empresa, co_mes, co_anio, co_Transacc, co_comprob, fe_transacc, nu_ref_dist, nu_ref_anio, nu_ref_regi,
       nu_ref_corre, mo_FOB, nu_serie, nu_secu
FROM tbAT_Exporta ORDER BY co_anio, co_mes, nu_secu;
