// Writes, as a C++ initialiser list, the correction steps of the brightness
// fade: for every pair of an off byte b and a lit byte o (index b x 256 + o),
// the step at which the repeated truncating double blend
// v = v x (1 - f) + o x f, f = 1 / (16 - s), falls one below the integer
// blend (v x (15 - s) + o) / (16 - s) of the value before; 0 where it never
// does. The display's tests run every pair through every step against it.
//   fade_corrections OUT.inc

#include <cstdio>

int main(int argc, char **argv)
{
    constexpr int STEPS = 16;
    std::FILE *out = argc == 2 ? std::fopen(argv[1], "w") : nullptr;
    if (!out)
        return 1;
    for (int off = 0; off < 256; ++off) {
        for (int lit = 0; lit < 256; ++lit) {
            int value = off;
            int correctedAt = 0;
            for (int step = 1; step < STEPS; ++step) {
                const int n = STEPS - step;
                const double factor = 1.0 / n;
                const int exact = static_cast<int>(value * (1.0 - factor) + lit * factor);
                if (exact != (value * (n - 1) + lit) / n)
                    correctedAt = step;
                value = exact;
            }
            std::fprintf(out, "%d,", correctedAt);
        }
        std::fputc('\n', out);
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
