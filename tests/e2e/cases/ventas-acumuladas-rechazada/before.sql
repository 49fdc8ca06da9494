-- The database refuses the work row of the final consumer's sale.
CREATE TRIGGER rechaza BEFORE INSERT ON tbAT_Ventas_x_Acumular WHEN NEW.co_cliente = '0001712345675'
BEGIN SELECT RAISE(ABORT, 'fila rechazada'); END;
