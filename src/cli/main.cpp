#include "cli/kovractl.h"
#include "core/platform/text_catalogue.h"

#include <iostream>
#include <unistd.h>

namespace {

std::string executablePath()
{
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? std::string(path, size_t(length)) : std::string();
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> words(argv + 1, argv + argc);
    kovra::useLanguage(
        kovra::chooseLanguage(kovra::languageOptionIn(words)), kovra::localeDirFor(executablePath()));
    return kovra::cli::runKovractl(words, std::cin, std::cout, std::cerr);
}
