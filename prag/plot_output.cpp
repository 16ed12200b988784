// plot_output.cpp
// gnuplot runs with the image's folder as its working folder, so the script names its data file without
// a path and still works when the user runs it there; it draws to a temporary name that is renamed after.
#include "prag/plot_output.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <vector>

#include "prag/atomic_file.h"

extern char** environ;

namespace prag {
namespace {

std::string Stem(const std::string& image) {
    const auto dot = image.rfind('.');
    return dot == std::string::npos ? image : image.substr(0, dot);
}

std::string BaseName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

std::string FolderOf(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    return folder.empty() ? "." : folder.string();
}

// A gnuplot single-quoted string: a quote is doubled, nothing else is special.
std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c;
        if (c == '\'') quoted += '\'';
    }
    return quoted + "'";
}

// Enhanced-text titles: ^ _ @ & { } and the backslash would otherwise change the lettering.
std::string Literal(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        if (std::strchr("^_@&{}\\", c) != nullptr) escaped += "\\\\";
        escaped += c;
    }
    return escaped;
}

std::string Capitalised(std::string text) {
    if (!text.empty()) text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text;
}

bool OnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    if (path == nullptr) return false;
    std::stringstream folders(path);
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::string candidate = (folder.empty() ? "." : folder) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0) return true;
    }
    return false;
}

// Runs gnuplot on `script` in `folder` with outfile set; its exit status, or -1 if it could not start.
int RunGnuplot(const std::string& folder, const std::string& script, const std::string& outfile) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    const std::string setting = "outfile=" + Quoted(outfile);
    std::vector<std::string> words{"gnuplot", "-e", setting, script};
    std::vector<char*> arguments;
    for (std::string& word : words) arguments.push_back(word.data());
    arguments.push_back(nullptr);
    pid_t child = 0;
    const int started = posix_spawnp(&child, "gnuplot", &actions, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0) return -1;
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

PlotFiles PlotFilesFor(const std::string& image) { return {image, Stem(image) + ".dat", Stem(image) + ".gp"}; }

std::string PlotDataText(const Report& report) {
    std::string text = "# prag: spanning probability R_L(p) and its standard error, one block per L\n";
    char row[96];
    bool first = true;
    for (const SizeResult& size : report.result.sizes) {
        if (!first) text += "\n\n";  // two blank lines: gnuplot's `index` counts blocks by them
        first = false;
        const bool strength = !size.strength.empty();
        text += "# L=" + std::to_string(size.side) + (strength ? "\n# p R stderr P P_stderr chi chi_stderr\n" : "\n# p R stderr\n");
        const auto finite = [](double value) { return std::isfinite(value) ? value : 0.0; };
        for (std::size_t k = 0; k < size.curve.size(); ++k) {
            const CurvePoint& point = size.curve[k];
            std::snprintf(row, sizeof row, "%.10g %.10g %.10g", point.p, point.r, finite(point.standard_error));
            text += row;
            if (strength) {
                const StrengthPoint& s = size.strength[k];
                std::snprintf(row, sizeof row, " %.10g %.10g %.10g %.10g", s.strength, finite(s.strength_error), s.chi,
                              finite(s.chi_error));
                text += row;
            }
            text += '\n';
        }
    }
    return text;
}

std::string PlotScriptText(const Report& report, const PlotFiles& files) {
    const RunSettings& s = report.settings;
    const ThresholdEstimate& estimate = report.result.estimate;
    const bool svg = files.image.ends_with(".svg");
    const bool tall = s.strength;  // three figures, one above the other
    const std::string canvas = tall ? "960,1500" : "960,640";
    std::string sizes;
    for (const SizeResult& size : report.result.sizes) {
        if (!sizes.empty()) sizes += ' ';
        sizes += std::to_string(size.side);
    }

    std::ostringstream gp;
    gp << "# " << BaseName(files.script) << ": spanning probability curves drawn by prag. Edit and run\n"
       << "# `gnuplot " << BaseName(files.script) << "` in this folder to draw " << BaseName(files.image) << " again.\n"
       << "if (!exists(\"outfile\")) outfile = " << Quoted(BaseName(files.image)) << "\n"
       << "set encoding utf8\n";
    if (svg) {
        gp << "set terminal svg size " << canvas << " dynamic enhanced font \"Sans,12\" background rgb \"white\"\n";
    } else {
        gp << "if (strstrt(GPVAL_TERMINALS, \"pngcairo\") > 0) {\n"
           << "    set terminal pngcairo size " << canvas << " enhanced font \"Sans,11\"\n"
           << "} else {\n"
           << "    set terminal png size " << canvas << "\n"
           << "}\n";
    }
    gp << "set output outfile\n"
       << "set title \"" << Literal(Capitalised(std::string(ModelName(s.model)))) << " percolation, "
       << (s.extended ? std::string(LatticeName(s.lattice)) + " lattice, " + std::string(BoundaryName(s.boundary)) + " boundary, " : "")
       << Literal(std::string(SpanningName(s.rule))) << " spanning, " << s.samples << " samples per size, seed "
       << report.seed << "\"\n"
       << "set xlabel \"p\"\nset ylabel \"R_L(p)\"\n"
       << "set xrange [" << s.p_min << ":" << s.p_max << "]\nset yrange [0:1]\n"
       << "set grid\nset key left top box opaque\n"
       << "sizes = \"" << sizes << "\"\n"
       << "data = " << Quoted(BaseName(files.data)) << "\n";
    if (std::isfinite(estimate.value)) {
        gp << "pc = " << Fixed(estimate.value, 10) << "\n";
        if (std::isfinite(estimate.error)) {
            gp << "pc_error = " << Fixed(estimate.error, 10) << "\n"
               << "set object 1 rect from pc - pc_error, graph 0 to pc + pc_error, graph 1 "
               << "fillcolor rgb \"#d8d8d8\" fillstyle solid 1.0 noborder behind\n";
        }
        gp << "set arrow 1 from pc, graph 0 to pc, graph 1 nohead dashtype 2 linecolor rgb \"black\"\n"
           << "set label 1 \"p_c = " << WithError(estimate.value, estimate.error)
           << "\" at pc, graph 0.08 offset 1,0 front\n"
           << "set label 2 \"" << Literal(estimate.method) << "\" at pc, graph 0.03 offset 1,0 front font \",9\"\n";
    }
    if (s.extended) {
        // The other estimates under the first, smaller.
        double y = 0.13;
        for (const NamedEstimate& named : report.result.more) {
            if (named.estimate.method == estimate.method) continue;
            gp << "set label \"" << (named.name == "nu" ? "nu = " : "") << WithError(named.estimate.value, named.estimate.error)
               << " (" << Literal(named.estimate.method) << ")\" at graph 0.02, graph " << y << " front font \",8\"\n";
            y += 0.04;
        }
    }
    const bool strength = !report.result.sizes.empty() && !report.result.sizes.front().strength.empty();
    if (strength) gp << "set multiplot layout 3,1\n";
    gp << "plot for [i=1:words(sizes)] data index (i-1) using 1:($2-$3):($2+$3) with filledcurves "
       << "fillstyle transparent solid 0.3 noborder linecolor i notitle, \\\n"
       << "     for [i=1:words(sizes)] data index (i-1) using 1:2 with lines linewidth 2 linecolor i "
       << "title sprintf(\"L = %s\", word(sizes, i)), \\\n"
       << "     0.5 with lines dashtype 3 linewidth 1.5 linecolor rgb \"gray30\" title \"R = 1/2\"\n";
    if (strength) {
        // One figure per observable, with the same sizes and colours.
        const std::pair<const char*, int> observables[] = {{"P_L(p), the largest cluster's share of the sites", 4},
                                                           {"chi_L(p), mean cluster size without the largest", 6}};
        gp << "unset title\nunset object 1\nunset label\nunset arrow\nset autoscale y\n";
        for (const auto& [label, column] : observables) {
            gp << "set ylabel \"" << label << "\"\n"
               << "plot for [i=1:words(sizes)] data index (i-1) using 1:($" << column << "-$" << column + 1 << "):($" << column
               << "+$" << column + 1 << ") with filledcurves fillstyle transparent solid 0.3 noborder linecolor i notitle, \\\n"
               << "     for [i=1:words(sizes)] data index (i-1) using 1:" << column
               << " with lines linewidth 2 linecolor i title sprintf(\"L = %s\", word(sizes, i))\n";
        }
        gp << "unset multiplot\n";
    }
    return gp.str();
}

std::string MakePlot(const Report& report) {
    const PlotFiles files = PlotFilesFor(report.settings.plot_path);
    if (std::string error = WriteFileAtomically(files.data, PlotDataText(report)); !error.empty()) return error;
    if (std::string error = WriteFileAtomically(files.script, PlotScriptText(report, files)); !error.empty()) return error;
    if (!OnPath("gnuplot")) {
        return "--plot: gnuplot was not found on PATH (Debian package gnuplot-nox); its data and script are written: " +
               files.data + ", " + files.script;
    }
    std::string error;
    const std::string temporary = ReserveTemporaryBeside(files.image, error);
    if (temporary.empty()) return error;
    const int status = RunGnuplot(FolderOf(files.image), BaseName(files.script), BaseName(temporary));
    std::error_code size_error;
    const bool drawn = status == 0 && std::filesystem::file_size(temporary, size_error) > 0 && !size_error;
    if (!drawn || std::rename(temporary.c_str(), files.image.c_str()) != 0) {
        const int rename_error = errno;
        std::remove(temporary.c_str());
        if (!drawn) return "--plot: gnuplot could not draw " + files.image + " (exit status " + std::to_string(status) + ")";
        return "cannot write '" + files.image + "': " + std::strerror(rename_error);
    }
    return "";
}

}  // namespace prag
