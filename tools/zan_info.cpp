// Prints what the library makes of data files (placeholder until the tool lands).
int main() { return 0; }
