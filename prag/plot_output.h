// plot_output.h
// The plot: the curves' data and a gnuplot script are written beside the image (users restyle the
// script and run it again there), then gnuplot draws the image. Without gnuplot only the image is missing.
#pragma once

#include <string>

#include "prag/report.h"

namespace prag {

struct PlotFiles {
    std::string image;   // as given: NAME.png or NAME.svg
    std::string data;    // NAME.dat
    std::string script;  // NAME.gp
};

PlotFiles PlotFilesFor(const std::string& image);

std::string PlotDataText(const Report& report);
std::string PlotScriptText(const Report& report, const PlotFiles& files);

// Writes data and script, then runs gnuplot from the image's folder; an empty string, or the reason.
std::string MakePlot(const Report& report);

}  // namespace prag
