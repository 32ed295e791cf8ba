#pragma once

#include <dirent.h>
#include <string>
#include <vector>

namespace kovra::test_support {

// The names in `folder` (without "." and ".."), as a save left it: a cut save must leave the
// old file and nothing beside it.
inline std::vector<std::string> filesIn(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (dirent* entry = ::readdir(dir))
            if (entry->d_name[0] != '.')
                names.push_back(entry->d_name);
        ::closedir(dir);
    }
    return names;
}

} // namespace kovra::test_support
