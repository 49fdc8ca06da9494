-- Country codes of the tax authority: PARTIAL, the codes the system names ("005" is a lookup
-- example whose country name is not at hand).
INSERT INTO tbcttgCiudades (co_pais, ds_nombre) VALUES
  ('593', 'ECUADOR'),
  ('005', NULL);

-- Customs districts and regimes: PARTIAL, the codes the system names.
INSERT INTO tbcttgDiAduanero (co_distri, ds_distri) VALUES
  ('028', NULL);
INSERT INTO tbcttgCoRegimen (co_regimen, ds_regimen) VALUES
  ('04', NULL);

-- National geography: country '01' (Ecuador), its provinces (city '000' is the province's own
-- row) and the chief city '001' of the three largest provinces. PARTIAL.
INSERT INTO tbciudades (co_pais, co_provincia, co_ciudad, ds_nombre) VALUES
  ('01', '01', '000', 'AZUAY'),
  ('01', '02', '000', 'BOLIVAR'),
  ('01', '03', '000', 'CAÑAR'),
  ('01', '04', '000', 'CARCHI'),
  ('01', '05', '000', 'COTOPAXI'),
  ('01', '06', '000', 'CHIMBORAZO'),
  ('01', '07', '000', 'EL ORO'),
  ('01', '08', '000', 'ESMERALDAS'),
  ('01', '09', '000', 'GUAYAS'),
  ('01', '10', '000', 'IMBABURA'),
  ('01', '11', '000', 'LOJA'),
  ('01', '12', '000', 'LOS RIOS'),
  ('01', '13', '000', 'MANABI'),
  ('01', '14', '000', 'MORONA SANTIAGO'),
  ('01', '15', '000', 'NAPO'),
  ('01', '16', '000', 'PASTAZA'),
  ('01', '17', '000', 'PICHINCHA'),
  ('01', '18', '000', 'TUNGURAHUA'),
  ('01', '19', '000', 'ZAMORA CHINCHIPE'),
  ('01', '20', '000', 'GALAPAGOS'),
  ('01', '21', '000', 'SUCUMBIOS'),
  ('01', '22', '000', 'ORELLANA'),
  ('01', '23', '000', 'SANTO DOMINGO DE LOS TSACHILAS'),
  ('01', '24', '000', 'SANTA ELENA'),
  ('01', '90', '000', 'ZONA NO DELIMITADA'),
  ('01', '01', '001', 'CUENCA'),
  ('01', '09', '001', 'GUAYAQUIL'),
  ('01', '17', '001', 'QUITO');
