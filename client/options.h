// The command line:
//   VarkelMail.exe [PLUGIN.DLL]               runs the client for a person
//   VarkelMail.exe --tour OUTDIR [PLUGIN.DLL] runs the scripted tour
// The plug-in defaults to Varkel.dll beside the executable.
#pragma once

#include <string>

struct Options {
    bool tour = false;
    std::string outputFolder;
    std::string pluginPath;
    std::string error; // not empty when the command line is wrong
};

Options ParseOptions(int argc, char** argv);
