// Writes the demo simulation run (placeholder until the generator lands).
int main() { return 0; }
