// The least a job can cost on this machine: start a native process, read every input file whole,
// write as many bytes as each output file holds (in 256 KB blocks, as the table layer and the
// line writer do) into a new file of the scratch folder, sync that file and then the folder, as
// a job's atomic replacement does. The benchmark scripts time it as they time the job.
//
//   JobFloor SCRATCH_FOLDER INPUT... -- OUTPUT_BYTES...

#include "base/platform/File.h"
#include "base/platform/Folders.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

namespace platform = tts::platform;

int fail(const std::string& what) {
    std::fprintf(stderr, "JobFloor: %s\n", what.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return fail("uso: JobFloor CARPETA ENTRADA... -- BYTES...");
    const std::string scratch = argv[1];
    std::vector<std::string> inputs;
    std::vector<unsigned long long> outputs;
    bool sizes = false;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--")
            sizes = true;
        else if (sizes)
            outputs.push_back(std::strtoull(arg.c_str(), nullptr, 10));
        else
            inputs.push_back(arg);
    }

    std::string bytes;
    for (const std::string& input : inputs)
        if (platform::readWholeFile(input, bytes) != 0)
            return fail("no se puede leer " + input);

    const std::string block(256 * 1024, 'x');
    for (size_t i = 0; i < outputs.size(); ++i) {
        const std::string path = platform::joinPath(scratch, "floor" + std::to_string(i));
        (void)platform::removeFile(path); // left by the run before
        platform::SystemError error = 0;
        platform::File file =
            platform::File::open(path, platform::Access::ReadWrite, platform::Share::None,
                                 platform::Disposition::CreateNew, error);
        if (!file.isOpen())
            return fail("no se puede crear " + path);
        for (unsigned long long at = 0; at < outputs[i]; at += block.size()) {
            const size_t size =
                static_cast<size_t>(std::min<unsigned long long>(block.size(), outputs[i] - at));
            if (file.writeAt(at, block.data(), size) != 0)
                return fail("no se puede escribir " + path);
        }
        if (file.flush() != 0 || file.close() != 0)
            return fail("no se puede sincronizar " + path);
        platform::flushFolder(scratch);
    }
    return 0;
}
