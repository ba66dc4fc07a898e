#include "BenchFiles.h"

#include <cstdio>
#include <cstring>

// Prints the path of a benchmark file, making it first when it is not there yet.
int main(int argc, char** argv) {
    if (argc != 2 || (std::strcmp(argv[1], "text") != 0 && std::strcmp(argv[1], "csv") != 0)) {
        std::fprintf(stderr, "usage: %s text|csv\n", argv[0]);
        return 2;
    }
    const QString path =
        std::strcmp(argv[1], "csv") == 0 ? benchfiles::largeCsvFile() : benchfiles::largeTextFile();
    if (path.isEmpty())
        return 1;
    std::printf("%s\n", qPrintable(path));
    return 0;
}
