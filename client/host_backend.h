// The client's answers to the plug-in's host calls: its current folder and
// mail, its folder names, the commands it registers and a real move of the selected
// messages. Each call is noted in the transcript and shown in the status bar.
#pragma once

void InstallClientBackend();
