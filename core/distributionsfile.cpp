#include "distributionsfile.h"

#include "numberformat.h"
#include "simulation.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <random>
#include <system_error>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace kormix {

namespace {

std::string ErrorText(int error)
{
    return std::generic_category().message(error);
}

std::string FailureMessage(int error, const char *doing, const std::filesystem::path &path)
{
    return ErrorText(error) + doing + path.string();
}

} // namespace

std::filesystem::path DistributionsFilePath()
{
#ifdef _WIN32
    return std::filesystem::path("C:\\temp\\distributions.xls");
#else
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
    if (ec || dir.empty())
        dir = "/tmp";
    return dir / "distributions.xls";
#endif
}

std::string DistributionsText(const Simulation &sim)
{
    const DistributionRegister &reg = sim.reg;
    const int n = std::clamp(sim.nStored, 0, DistributionRegister::kCapacity);
    const char dp = sim.decimalPoint;

    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return reg.regFracHD[a] < reg.regFracHD[b];
    });

    double s = 0; // sum of W / Wmax over the stored distributions
    double f = 0; // sum of the occurrence counts
    for (int i = 1; i <= n; ++i) {
        s = s + std::exp(reg.regLnW[i] - sim.lnWBest);
        f = f + double(reg.regFreq[i]);
    }

    std::string text = "#\tNH2\tND2\tNHD\t%HD\tlnW\tW\tP\tP_rel\tfreq\tP_from_freq\r\n";
    text.reserve(text.size() + std::size_t(n) * 128);
    for (int k = 1; k <= n; ++k) {
        const int e = order[std::size_t(k - 1)];
        const auto &counts = reg.regCounts[e];
        const double rel = std::exp(reg.regLnW[e] - sim.lnWBest);
        text += ' ';
        text += IntegerToText(k);
        text += " \t";
        text += IntegerToText(std::int64_t(sim.nMolecules) - counts[1] - counts[2]);
        text += '\t';
        text += IntegerToText(counts[2]);
        text += '\t';
        text += IntegerToText(counts[1]);
        text += '\t';
        text += NumberToText(100 * reg.regFracHD[e], dp);
        text += '\t';
        text += NumberToText(reg.regLnW[e], dp);
        text += '\t';
        text += FormatW(reg.regLnW[e], dp);
        text += '\t';
        text += NumberToText(rel / s, dp);
        text += '\t';
        text += NumberToText(rel, dp);
        text += '\t';
        text += IntegerToText(reg.regFreq[e]);
        text += '\t';
        text += NumberToText(double(reg.regFreq[e]) / f, dp);
        text += "\r\n";
    }
    return text;
}

ExportResult ExportDistributions(const Simulation &sim)
{
    return ExportDistributions(sim, DistributionsFilePath());
}

ExportResult ExportDistributions(const Simulation &sim, const std::filesystem::path &path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path dir = path.parent_path();
    if (!dir.empty())
        fs::create_directories(dir, ec); // an existing directory is fine

    const std::string text = DistributionsText(sim);

    // A new file beside the old one, created exclusively: nothing planted at
    // its name is opened or followed.
    std::random_device device;
    std::mt19937_64 names(device());
    fs::path temp;
    std::FILE *file = nullptr;
    int error = 0;
    for (int attempt = 0; attempt < 100 && !file; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", (unsigned long long) names());
        temp = path;
        temp += suffix;
        errno = 0;
        file = std::fopen(temp.string().c_str(), "wbx");
        error = errno;
        if (!file && error != EEXIST)
            break;
    }
    if (!file)
        return {false, FailureMessage(error ? error : EIO, " opening ", path)};

    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    error = written ? 0 : errno;
    if (written && std::fflush(file) != 0) {
        written = false;
        error = errno;
    }
#if defined(__unix__) || defined(__APPLE__)
    if (written && ::fsync(fileno(file)) != 0 && errno != EINVAL) {
        written = false;
        error = errno;
    }
#endif
    if (std::fclose(file) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        fs::remove(temp, ec);
        return {false, FailureMessage(error ? error : EIO, " writing ", path)};
    }

    fs::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return {false, ec.message() + " replacing " + path.string()};
    }
    return {true, "File " + path.string() + " was created"};
}

} // namespace kormix
