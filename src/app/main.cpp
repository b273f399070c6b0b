#include "app/entry.h"

int main(int argc, char** argv) {
    return orvalis::OrvalisMain(argc, argv);
}
