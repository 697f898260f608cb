// Runs a fuzz target without libFuzzer: each file named on the command line is fed
// to it once. The unit tests replay sample catalogues through every target this way,
// so the targets build with the rest and run under the sanitizers.
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    // The targets write each input to a scratch file in the temporary folder: keep
    // those in a folder of this run's own.
    const QTemporaryDir scratch;
    if (!scratch.isValid() || !qputenv("TMPDIR", QFile::encodeName(scratch.path()))) {
        std::fputs("cannot make a scratch folder\n", stderr);
        return EXIT_FAILURE;
    }
    for (int i = 1; i < argc; ++i) {
        QFile input(QFile::decodeName(argv[i]));
        if (!input.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            return EXIT_FAILURE;
        }
        const QByteArray bytes = input.readAll();
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
    }
    return EXIT_SUCCESS;
}
