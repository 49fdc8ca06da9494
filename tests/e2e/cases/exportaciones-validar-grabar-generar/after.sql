SELECT co_empresa, co_mes, co_anio, co_Transacc, co_comprob, fe_transacc, co_proveeID, co_provee, ds_provee,
       nu_ref_dist, nu_ref_anio, nu_ref_regi, nu_ref_corre, nu_ref_veri, nu_dcto_trans, nu_FUE, mo_FOB,
       co_comprob_exp, mo_base, fe_emision, fe_conta, nu_serie, nu_secu, nu_autoriza, st_devolu, st_regis
FROM tbAT_Exporta ORDER BY id_reg;
