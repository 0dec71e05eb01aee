// Kormix: the isotope exchange H2 + D2 = 2 HD seen through statistics.
#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::puts("Kormix: the simulation core is built; the program's windows are not there yet.");
    return 0;
}
