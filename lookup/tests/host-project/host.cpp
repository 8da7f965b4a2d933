// A C++ host of libtrovex: the class Trovex itself.
#include <cstdio>

#include "lookup/Trovex.h"

int main() {
    lookup::Trovex trovex;
    trovex.setResult3(QStringLiteral("revenue"));
    if (!trovex.Result1().isEmpty() || trovex.Result3() != QLatin1String("revenue")) return 1;
    std::puts("host_cpp: ok");
    return 0;
}
