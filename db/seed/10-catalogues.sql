-- Catalogues of the annex's technical sheet (rows in force in 2013 or later) and the codes the
-- system itself names. Code lists hold no blanks: the checks compare their elements exactly.

-- Voucher types. Three-digit types of later years are left out: the 2013 annex holds two digits.
-- ds_secutran: the transaction codes of the technical sheet, then the annex words; "08" (imports)
-- is added to the import documents 15 and 16, "REOC" to every type that carries tax support.
INSERT INTO tbcttgComprob (co_comprob, ds_comprob, ds_sustrib, ds_secutran) VALUES
  ('01', 'Factura', '01,02,03,04,05,06,07,08,09,14,15,00', '01,09,20,21,ATS,REOC'),
  ('02', 'Nota o boleta de venta', '02,04,05,07,08,14,15,00', '01,ATS,REOC'),
  ('03', 'Liquidación de compra de Bienes o Prestación de servicios', '01,02,03,04,05,06,07,08,14,15', '02,03,ATS,REOC'),
  ('04', 'Nota de crédito', '01,02,03,04,05,06,07,08,09,14,15,00', '01,02,03,04,05,06,07,09,19,20,21,ATS,REOC'),
  ('05', 'Nota de débito', '01,02,03,04,05,06,07,08,09,14,15,00', '01,02,03,04,05,06,07,09,19,20,21,ATS,REOC'),
  ('06', 'Guías de Remisión', '', 'ATS'),
  ('07', 'Comprobante de Retención', '', 'ATS'),
  ('08', 'Boletos o entradas a espectáculos públicos', '', '01,ATS'),
  ('09', 'Tiquetes o vales emitidos por máquinas registradoras', '02', '01,02,03,ATS,REOC'),
  ('11', 'Pasajes expedidos por empresas de aviación', '01,02,05', '01,ATS,REOC'),
  ('12', 'Documentos emitidos por instituciones financieras', '01,02,11,15', '01,02,03,ATS,REOC'),
  ('15', 'Comprobante de venta emitido en el Exterior', '02,04,05,07,15', '03,08,20,21,ATS,REOC'),
  ('16', 'Formulario Único de Exportación (FUE) o Declaración Aduanera Única (DAU) o Declaración Andina de Valor (DAV)', '', '08,09,20,21,ATS'),
  ('18', 'Documentos autorizados utilizados en ventas excepto N/C N/D', '', '04,05,06,07,19,ATS'),
  ('19', 'Comprobantes de Pago de Cuotas o Aportes', '02,10,13,00', '01,02,03,ATS,REOC'),
  ('20', 'Documentos por Servicios Administrativos emitidos por Inst. del Estado', '02', '01,ATS,REOC'),
  ('21', 'Carta de Porte Aéreo', '01,02,08', '01,ATS,REOC'),
  ('22', 'RECAP', '', '10,11,ATS'),
  ('23', 'Nota de Crédito TC', '', '10,11,ATS'),
  ('24', 'Nota de Débito TC', '', '10,11,ATS'),
  ('41', 'Comprobante de venta emitido por reembolso', '01,02,03,04,05,06,07', '01,02,03,04,05,06,07,09,19,20,21,ATS,REOC'),
  ('42', 'Documento retención presuntiva y retención emitida por propio vendedor o por intermediario', '00,12', '01,02,03,ATS,REOC'),
  ('43', 'Liquidación para Explotación y Exploración de Hidrocarburos', '01,02,06,07', '01,ATS,REOC'),
  ('44', 'Comprobante de Contribuciones y Aportes', '', '04,05,06,19,ATS'),
  ('45', 'Liquidación por reclamos de aseguradoras', '09', '01,03,ATS,REOC'),
  ('47', 'Nota de Crédito por Reembolso Emitida por Intermediario', '01,02,03,04,06,07', '01,04,05,06,09,19,20,21,ATS,REOC'),
  ('48', 'Nota de Débito por Reembolso Emitida por Intermediario', '01,02,03,04,06,07', '01,04,05,06,09,19,20,21,ATS,REOC'),
  ('49', 'Proveedor Directo de Exportador Bajo Régimen Especial', '', '04,ATS'),
  ('50', 'A Inst. Estado y Empr. Públicas que percibe ingreso exento de Imp. Renta', '', '04,ATS'),
  ('51', 'N/C A Inst. Estado y Empr. Públicas que percibe ingreso exento de Imp. Renta', '', '04,ATS'),
  ('52', 'N/D A Inst. Estado y Empr. Públicas que percibe ingreso exento de Imp. Renta', '', '04,ATS');

INSERT INTO tbcttgSusTributario (co_susten, ds_susten) VALUES
  ('00', 'Casos especiales cuyo sustento no aplica en las opciones anteriores'),
  ('01', 'Crédito Tributario para declaración de IVA (servicios y bienes distintos de inventarios y activos fijos)'),
  ('02', 'Costo o Gasto para declaración de IR (servicios y bienes distintos de inventarios y activos fijos)'),
  ('03', 'Activo Fijo - Crédito Tributario para declaración de IVA'),
  ('04', 'Activo Fijo - Costo o Gasto para declaración de IR'),
  ('05', 'Liquidación Gastos de Viaje, hospedaje y alimentación Gastos IR (a nombre de empleados y no de la empresa)'),
  ('06', 'Inventario - Crédito Tributario para declaración de IVA'),
  ('07', 'Inventario - Costo o Gasto para declaración de IR'),
  ('08', 'Valor pagado para solicitar Reembolso de Gasto (intermediario)'),
  ('09', 'Reembolso por Siniestros'),
  ('10', 'Distribución de Dividendos, Beneficios o Utilidades'),
  ('11', 'Convenios de débito o recaudación para IFI´s'),
  ('12', 'Impuestos y retenciones presuntivos'),
  ('13', 'Valores reconocidos por entidades del sector público a favor de sujetos pasivos'),
  ('14', 'Valores facturados por socios a operadoras de transporte (que no constituyen gasto de dicha operadora)'),
  ('15', 'Pagos efectuados por consumos propios y de terceros de servicios digitales');

-- VAT rates. 0 stands beside the technical sheet's rates: every numeric percent is looked up.
INSERT INTO tbcttgPoIVA (va_iva, ds_iva) VALUES
  (0, 'IVA 0%'),
  (12, 'IVA 12%'),
  (14, 'IVA 14%');

-- VAT withholding percentages of the technical sheet, split into goods and services; 0 = no withholding.
INSERT INTO tbcttgPoIVABien (va_porc, ds_porc) VALUES
  (0, 'Sin retención'),
  (10, 'Retención 10% bienes'),
  (30, 'Retención 30% bienes'),
  (100, 'Retención 100%');
INSERT INTO tbcttgPoIVAServ (va_porc, ds_porc) VALUES
  (0, 'Sin retención'),
  (20, 'Retención 20% servicios'),
  (50, 'Retención 50% servicios'),
  (70, 'Retención 70% servicios'),
  (100, 'Retención 100%');

-- ICE rates: partial, only the rate the system names (and 0).
INSERT INTO tbcttgPoICE (va_porc, ds_porc) VALUES
  (0, 'ICE 0%'),
  (15, 'ICE 15%');

-- General codes. co_valor as the checks look it up (payment forms and supplier types without
-- leading zeros); ft_Format is the two-digit code the annex is written with.
INSERT INTO tbCodigoGeneral (co_grupo, co_valor, ds_valor, ft_Format) VALUES
  ('FPG', '1', 'SIN UTILIZACION DEL SISTEMA FINANCIERO', '01'),
  ('FPG', '2', 'CHEQUE PROPIO', '02'),
  ('FPG', '3', 'CHEQUE CERTIFICADO', '03'),
  ('FPG', '4', 'CHEQUE DE GERENCIA', '04'),
  ('FPG', '5', 'CHEQUE DEL EXTERIOR', '05'),
  ('FPG', '6', 'DÉBITO DE CUENTA', '06'),
  ('FPG', '7', 'TRANSFERENCIA PROPIO BANCO', '07'),
  ('FPG', '8', 'TRANSFERENCIA OTRO BANCO NACIONAL', '08'),
  ('FPG', '9', 'TRANSFERENCIA  BANCO EXTERIOR', '09'),
  ('FPG', '10', 'TARJETA DE CRÉDITO NACIONAL', '10'),
  ('FPG', '11', 'TARJETA DE CRÉDITO INTERNACIONAL', '11'),
  ('FPG', '12', 'GIRO', '12'),
  ('FPG', '13', 'DEPOSITO EN CUENTA (CORRIENTE/AHORROS)', '13'),
  ('FPG', '14', 'ENDOSO DE INVERSIÒN', '14'),
  ('FPG', '15', 'COMPENSACIÓN DE DEUDAS', '15'),
  ('FPG', '16', 'TARJETA DE DÉBITO', '16'),
  ('FPG', '17', 'DINERO ELECTRÓNICO', '17'),
  ('FPG', '18', 'TARJETA PREPAGO', '18'),
  ('FPG', '19', 'TARJETA DE CRÉDITO', '19'),
  ('FPG', '20', 'OTROS CON UTILIZACION DEL SISTEMA FINANCIERO', '20'),
  ('FPG', '21', 'ENDOSO DE TÍTULOS', '21'),
  ('PER', '1', 'PERSONA NATURAL', '01'),
  ('PER', '2', 'SOCIEDAD', '02'),
  ('TPG', 'L', 'PAGO A RESIDENTE /ESTABLECIMIENTO PERMANENTE', '01'),
  ('TPG', 'E', 'PAGO A NO RESIDENTE', '02');

-- Employee-income groups: partial, the codes the employee-income checks name, with a few more of
-- the same kind. "SD" (no data) must be registered for periods before 2013.
INSERT INTO tbCodigoGeneral (co_grupo, co_valor, ds_valor, ft_Format) VALUES
  ('IDD', 'C', 'CEDULA', 'C'),
  ('IDD', 'P', 'PASAPORTE', 'P'),
  ('IDD', 'E', 'IDENTIFICACION DEL EXTERIOR', 'E'),
  ('RES', 'L', 'RESIDENTE LOCAL', '01'),
  ('RES', 'E', 'RESIDENTE EN EL EXTERIOR', '02'),
  ('DTR', 'SD', 'SIN DATO', 'SD'),
  ('DTR', 'SI', 'APLICA CONVENIO DE DOBLE TRIBUTACION', 'SI'),
  ('DTR', 'NO', 'NO APLICA CONVENIO DE DOBLE TRIBUTACION', 'NO'),
  ('DIS', 'SD', 'SIN DATO', 'SD'),
  ('DIS', 'NA', 'NO APLICA', 'NA'),
  ('DIS', '1', 'PERSONA CON DISCAPACIDAD', '01'),
  ('DIS', '2', 'SUSTITUTO DE PERSONA CON DISCAPACIDAD', '02');
