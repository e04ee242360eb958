#include "golden.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace ball::test {

namespace {

Golden load() {
    std::ifstream in(BALL_TEST_DATA "/default-pitches.txt");
    if (!in) throw std::runtime_error("missing default-pitches.txt");
    Golden g;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream f(line);
        std::string ball, key;
        f >> ball >> key;
        if (key == "point") {
            int n;
            TrajPoint p;
            f >> n >> p.x >> p.y >> p.z;
            (ball == "ball1" ? g.ball1 : g.ball2).push_back(p);
        } else if (key == "passes") {
            f >> g.ball1Passes;
        } else if (key == "nstep") {
            f >> g.ball1Nstep;
        } else if (key == "initdir") {
            f >> g.ball1Initdir;
        } else if (key == "xfin") {
            std::string zkey;
            f >> g.ball1Xfin >> zkey >> g.ball1Zfin;
        }
    }
    return g;
}

}  // namespace

const Golden& golden() {
    static const Golden g = load();
    return g;
}

}  // namespace ball::test
