// Loading into hosts, the plug-in information and the ignored events.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "message_boxes.h"
#include "plugin.h"
#include "run_process.h"
#include "scratch.h"
#include "standin_host.h"

namespace {

// Runs a program and returns what it printed (through a file: Wine's pipes
// can stay open after the child has gone).
std::string RunAndCapture(const std::string& commandLine, const std::string& outputPath) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    UniqueHandle output =
        OwnFile(CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!output)
        return "cannot create " + outputPath;
    RunOptions options;
    options.output = output.get();
    const RunResult run = RunProcess(commandLine, options);
    output.reset();
    if (!run.started)
        return "cannot start " + commandLine;
    return ReadWholeFile(outputPath) + (run.killed ? "(timed out)" : "");
}

const char kLoadErrorBox[] =
    "box owner=0000000000000000 cancel=0 erroricon=1 caption=[プラグインエラー] "
    "text=[プラグイン「Varkel Plugin」でエラーが発生しました。\\r\\n"
    "Orvane とプラグインのバージョンを確認してください]\n";

} // namespace

TEST(Load, HostWithAllFunctionsLoadsSilently) {
    MessageBoxCapture boxes;
    LoadedPlugin plugin(FreshScratchFolder());
    EXPECT_TRUE(plugin.loaded());
    EXPECT_TRUE(boxes.boxes().empty());
    // Binding looks names up but calls none of them.
    EXPECT_TRUE(standin::Calls().empty());
}

TEST(Load, HostsLackingFunctionsRefuseThePluginWithOneErrorBox) {
    const std::string plugin = BuiltPluginPath();
    const std::string folder = FreshScratchFolder();
    for (const char* host :
         {"host_without_connect.exe", "host_without_getversion.exe", "host_without_any.exe"}) {
        SCOPED_TRACE(host);
        const std::string output = RunAndCapture(
            "\"" + ExecutableFolder() + host + "\" \"" + plugin + "\"", folder + host + ".txt");
        EXPECT_EQ(output, std::string(kLoadErrorBox) + "loaded=0\n");
    }
}

TEST(PluginInfo, FieldsComeFromTheVersionResourceAndTailsStayUntouched) {
    LoadedPlugin plugin(FreshScratchFolder());
    ASSERT_TRUE(plugin.loaded());
    PluginInfo info;
    std::memset(&info, 0xCC, sizeof info);
    EXPECT_EQ(plugin.orc().OnPlugInInfo(&info), 0);

    struct Field {
        const char* bytes;
        std::size_t width;
        const char* expected;
    };
    const Field fields[] = {
        {info.name, sizeof info.name, "Varkel Plugin"},
        {info.vendor, sizeof info.vendor, "Sora Minase"},
        {info.version, sizeof info.version, "Ver.0.22"},
        {info.description, sizeof info.description, "右クリックメニューからメールを移動します。"},
    };
    for (const Field& field : fields) {
        SCOPED_TRACE(field.expected);
        const std::size_t length = std::strlen(field.expected);
        EXPECT_EQ(std::string(field.bytes, length + 1), std::string(field.expected, length + 1));
        for (std::size_t i = length + 1; i < field.width; ++i)
            ASSERT_EQ(static_cast<unsigned char>(field.bytes[i]), 0xCC) << "byte " << i;
    }
    // The copyright line ends with the same author name.
    EXPECT_TRUE(standin::Calls().empty());
}

TEST(Events, IgnoredEventsReturnZeroAndCallNothing) {
    LoadedPlugin plugin(FreshScratchFolder());
    ASSERT_TRUE(plugin.loaded());
    const PluginCallbacks& orc = plugin.orc();
    EXPECT_EQ(orc.OnOpenFolder(1), 0);
    EXPECT_EQ(orc.OnOpenMail(1), 0);
    EXPECT_EQ(orc.OnEveryMinute(), 0);
    EXPECT_EQ(orc.OnOpenCompose(1, 2), 0);
    EXPECT_EQ(orc.OnOutgoing(1, 2), 0);
    EXPECT_EQ(orc.OnKeyDispatch(1, 2, 3), 0);
    EXPECT_EQ(orc.OnRetrieve(1, 2), 0);
    EXPECT_EQ(orc.OnSend(1), 0);
    EXPECT_EQ(orc.OnFinishRetrieve(1), 0);
    EXPECT_EQ(orc.OnDragDrop(1, 2, 3, 4), 0);
    EXPECT_TRUE(standin::Calls().empty());
}

TEST(Events, ThreadAttachAndDetachDoNothing) {
    LoadedPlugin plugin(FreshScratchFolder());
    ASSERT_TRUE(plugin.loaded());
    // The loader notifies the module of every thread that starts and ends.
    HANDLE thread = CreateThread(
        nullptr, 0, [](LPVOID) -> DWORD { return 7; }, nullptr, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(thread, 10000);
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    EXPECT_EQ(code, 7u);

    // Call the entry point directly as well: both notifications answer TRUE.
    const auto* base = reinterpret_cast<const BYTE*>(plugin.module());
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    using Entry = BOOL(WINAPI*)(HINSTANCE, DWORD, LPVOID);
    const auto entry = reinterpret_cast<Entry>(
        reinterpret_cast<uintptr_t>(base + nt->OptionalHeader.AddressOfEntryPoint));
    EXPECT_TRUE(entry(plugin.module(), DLL_THREAD_ATTACH, nullptr));
    EXPECT_TRUE(entry(plugin.module(), DLL_THREAD_DETACH, nullptr));
    EXPECT_TRUE(standin::Calls().empty());
    // The plug-in still answers.
    PluginInfo info{};
    EXPECT_EQ(plugin.orc().OnPlugInInfo(&info), 0);
    EXPECT_STREQ(info.name, "Varkel Plugin");
}
