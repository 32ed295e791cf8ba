#include "cli/kovractl.h"

#include <iostream>

int main(int argc, char** argv)
{
    return kovra::cli::runKovractl(
        std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout, std::cerr);
}
