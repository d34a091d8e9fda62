// placeholder so the library has a source until its classes land
