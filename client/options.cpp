#include "options.h"

#include <cstring>

#include "base/module.h"
#include "paths.h"

Options ParseOptions(int argc, char** argv) {
    Options options;
    int i = 1;
    if (i < argc && std::strcmp(argv[i], "--tour") == 0) {
        options.tour = true;
        if (++i >= argc) {
            options.error = "--tour needs an output folder";
            return options;
        }
        options.outputFolder = FullPath(argv[i++]);
    }
    if (i < argc)
        options.pluginPath = FullPath(argv[i++]);
    if (i < argc)
        options.error = std::string("unexpected argument ") + argv[i];
    if (options.pluginPath.empty())
        options.pluginPath = JoinPath(FolderOf(ModuleFilePath()), "Varkel.dll");
    return options;
}
