// trafikon-batch: headless driver of import and analysis.
#include <cstdio>

int main(int argc, char** argv) {
    (void)argv;
    if (argc < 2) {
        std::fprintf(stderr, "usage: trafikon-batch import|analyse ...\n");
        return 2;
    }
    return 2;
}
