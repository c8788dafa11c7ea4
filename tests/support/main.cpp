// The main of every test program. With --comctl32-v6 the same tests run inside an activation
// context that names the common controls version 6, as a host whose manifest asks for them gets
// them; without it, in version 5, which a host without such a manifest gets.
#include "test_support.h"

#include <stdio.h>
#include <string.h>

namespace {

const char kVersion6Switch[] = "--comctl32-v6";
#ifdef _WIN64
#define TEST_PROCESSOR "amd64"
#else
#define TEST_PROCESSOR "x86"
#endif
const char kVersion6Manifest[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\n"
    "  <assemblyIdentity type=\"win32\" name=\"AltRowTint.Tests\" version=\"1.0.0.0\"\n"
    "                    processorArchitecture=\"" TEST_PROCESSOR
    "\"/>\n"
    "  <dependency>\n"
    "    <dependentAssembly>\n"
    "      <assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\"\n"
    "                        version=\"6.0.0.0\" processorArchitecture=\"" TEST_PROCESSOR
    "\"\n"
    "                        publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/>\n"
    "    </dependentAssembly>\n"
    "  </dependency>\n"
    "</assembly>\n";

// The context is made from a manifest file, which is needed only while it is read. It stays
// active on this thread, where every test runs, for the rest of the program.
bool ActivateCommonControls6() {
    char folder[MAX_PATH], manifest[MAX_PATH];
    if (GetTempPathA(MAX_PATH, folder) == 0 || GetTempFileNameA(folder, "art", 0, manifest) == 0)
        return false;
    WriteFileBytes(std::string(manifest), kVersion6Manifest);
    ACTCTXA context = {};
    context.cbSize = sizeof context;
    context.lpSource = manifest;
    HANDLE handle = CreateActCtxA(&context);
    DeleteFileA(manifest);
    ULONG_PTR cookie = 0;
    return handle != INVALID_HANDLE_VALUE && ActivateActCtx(handle, &cookie);
}

// Version 6 puts the common controls' own buttons, statics and edits in place of USER32's (the
// page's check boxes, pick buttons and swatches among them), so a button made now is theirs: its
// procedure lies in comctl32. DllGetVersion and CCM_GETVERSION cannot tell the versions apart
// here: Wine's one comctl32 answers 5.81 and 5 in both.
bool CommonControls6InForce(std::string *owner_path) {
    HWND button = CreateWindowExW(0, L"Button", L"", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
    auto procedure = reinterpret_cast<LPCSTR>(GetWindowLongPtrW(button, GWLP_WNDPROC));
    DestroyWindow(button);
    HMODULE owner = NULL;
    char path[MAX_PATH] = "";
    if (GetModuleHandleExA(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            procedure, &owner)) {
        GetModuleFileNameA(owner, path, MAX_PATH);
    }
    *owner_path = path;
    const char *file_name = strrchr(path, '\\');
    return lstrcmpiA(file_name != NULL ? file_name + 1 : path, "comctl32.dll") == 0;
}

// Fails the run of a program that asked for version 6 and did not get it. Not fatal: a fatal
// failure here would skip every test, and a skipped test does not fail under ctest.
struct CommonControls6Check : testing::Environment {
    void SetUp() override {
        std::string owner;
        EXPECT_TRUE(CommonControls6InForce(&owner))
            << "no common controls 6: a button's procedure lies in " << owner;
    }
};

}  // namespace

int main(int argc, char **argv) {
    bool version6 = false;
    for (int i = 1; i < argc; ++i) version6 = version6 || strcmp(argv[i], kVersion6Switch) == 0;
    testing::InitGoogleTest(&argc, argv);
    if (version6) {
        // Before any window class is registered or control made: those made outside the
        // context would stay version 5 for the whole program.
        if (!ActivateCommonControls6()) {
            fprintf(stderr, "the common controls 6 context could not be made or activated\n");
            return 1;
        }
        testing::AddGlobalTestEnvironment(new CommonControls6Check);
    }
    return RUN_ALL_TESTS();
}
