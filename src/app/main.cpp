#include "app/linhadecomando.h"

int main(int argc, char **argv)
{
    return ExecutaOrbel(argc, argv);
}
