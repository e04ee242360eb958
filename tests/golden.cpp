#include "golden.h"

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace ball::test {

namespace {

Golden load(const std::string& file) {
    std::ifstream in(BALL_TEST_DATA "/" + file);
    if (!in) throw std::runtime_error("missing " + file);
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

const Golden& golden(const std::string& file) {
    static std::map<std::string, Golden> loaded;
    auto it = loaded.find(file);
    if (it == loaded.end()) it = loaded.emplace(file, load(file)).first;
    return it->second;
}

}  // namespace ball::test
