int Stray();
