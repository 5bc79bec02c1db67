language it
doubled-i maybe
