// placeholder until the exports land
