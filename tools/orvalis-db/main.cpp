#include "orvalis-db/db_commands.h"

#include <iostream>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return orvalis::dbtool::RunDbTool(args, std::cout, std::cerr);
}
