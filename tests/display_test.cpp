// Filled in with the painter tests.
