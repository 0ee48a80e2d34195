// tarnwick-db: export, import and check the encrypted directory database.
#include "tools/DatabaseTool.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    return RunDatabaseTool(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout, std::cerr);
}
