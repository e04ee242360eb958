// Writes a Statcast-style season: a Baseball Savant search CSV of PITCHES pitches thrown by
// PITCHERS pitchers, newest game first as Savant lists them, each pitch with the columns Savant
// gives and a flight fit that matches its type. Usage: season_file OUT.csv PITCHES PITCHERS
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr const char* kHeader =
    "pitch_type,game_date,release_speed,release_pos_x,release_pos_z,player_name,batter,pitcher,"
    "events,description,spin_dir,spin_rate_deprecated,break_angle_deprecated,"
    "break_length_deprecated,zone,des,game_type,stand,p_throws,home_team,away_team,type,"
    "hit_location,bb_type,balls,strikes,game_year,pfx_x,pfx_z,plate_x,plate_z,on_3b,on_2b,on_1b,"
    "outs_when_up,inning,inning_topbot,hc_x,hc_y,tfs_deprecated,tfs_zulu_deprecated,umpire,sv_id,"
    "vx0,vy0,vz0,ax,ay,az,sz_top,sz_bot,hit_distance_sc,launch_speed,launch_angle,"
    "effective_speed,release_spin_rate,release_extension,game_pk,fielder_2,fielder_3,fielder_4,"
    "fielder_5,fielder_6,fielder_7,fielder_8,fielder_9,release_pos_y,"
    "estimated_ba_using_speedangle,estimated_woba_using_speedangle,woba_value,woba_denom,"
    "babip_value,iso_value,launch_speed_angle,at_bat_number,pitch_number,pitch_name,home_score,"
    "away_score,bat_score,fld_score,post_away_score,post_home_score,post_bat_score,"
    "post_fld_score,if_fielding_alignment,of_fielding_alignment,spin_axis,delta_home_win_exp,"
    "delta_run_exp,bat_speed,swing_length\n";

struct Kind {
    const char *code, *name;
    double mph, ivb, hb, rpm, axis;  // hb in inches, + to the pitcher's right (a righty's arm side)
};
constexpr Kind kKinds[] = {
    {"FF", "4-Seam Fastball", 94, 16, 8, 2300, 215}, {"SI", "Sinker", 93, 8, 15, 2200, 235},
    {"SL", "Slider", 85, 2, -5, 2450, 100},          {"CH", "Changeup", 86, 6, 14, 1750, 240},
    {"CU", "Curveball", 79, -10, -9, 2550, 40},       {"FC", "Cutter", 89, 9, -2, 2400, 185},
    {"ST", "Sweeper", 82, 1, -14, 2500, 80},          {"FS", "Split-Finger", 86, 3, 9, 1400, 230},
};

std::uint64_t state = 20260401;
double uniform() {  // [0, 1)
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(state >> 11) / 9007199254740992.0;
}
double around(double x, double spread) { return x + spread * (uniform() + uniform() - 1); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: season_file OUT.csv PITCHES PITCHERS\n");
        return 2;
    }
    FILE* out = std::fopen(argv[1], "w");
    if (!out) return 1;
    const long pitches = std::atol(argv[2]), pitchers = std::atol(argv[3]);
    std::fputs(kHeader, out);
    long written = 0;
    for (long game = 0; written < pitches; ++game) {
        for (int ab = 78; ab >= 1 && written < pitches; --ab) {
            const long who = (game * 7 + ab / 9) % pitchers;
            const bool lefty = who % 4 == 3;
            const int kinds = 5 + static_cast<int>(who % 3);
            const int count = 1 + static_cast<int>(uniform() * 6);
            const char stand = uniform() < 0.45 ? 'L' : 'R';
            for (int n = count; n >= 1 && written < pitches; --n, ++written) {
                const Kind& k = kKinds[(who + static_cast<long>(uniform() * kinds)) % 8];
                const double mph = around(k.mph - who % 5, 1.5);
                const double side = lefty ? -1 : 1;  // a lefty's arm side is to his left
                const double ivb = around(k.ivb, 2), hb = around(k.hb * side, 2);
                const double ext = around(6.3, 0.3), relX = around(-1.8 * side, 0.2);
                const double relZ = around(5.8, 0.2), px = around(0, 0.8), pz = around(2.4, 0.7);
                // A constant-acceleration flight at y = 50 ft that breaks as the type does.
                const double vy0 = -mph * 1.46667 * 0.92, t = 50 / -vy0 * 1.05;
                const double ax = -2 * hb / 12 / (t * t), az = 2 * ivb / 12 / (t * t) - 32.174;
                std::fprintf(
                    out,
                    "%s,2025-09-%02ld,%.1f,%.2f,%.2f,\"Pitcher%ld, Some\",%ld,%ld,,"
                    "ball,,,,,%d,\"Batter%ld grounds out, shortstop Someone to first baseman "
                    "Other.\",R,%c,%s,NYY,BOS,B,,,1,2,2025,%.2f,%.2f,%.2f,%.2f,,,,1,%d,Top,,,,,"
                    ",,%.6f,%.6f,%.6f,%.6f,%.6f,%.6f,3.4,1.6,,,,%.1f,%.0f,%.1f,%ld,1,2,3,4,5,6,7,"
                    "8,%.2f,,,0,0,,,,%d,%d,%s,0,0,0,0,0,0,0,0,Standard,Standard,%.0f,0.001,0.01,,"
                    "\n",
                    k.code, 30 - game % 28, mph, relX, relZ, who, 600000L + ab, 500000 + who,
                    1 + ab % 14, game, stand, lefty ? "L" : "R", -hb / 12, ivb / 12, px, pz,
                    1 + (78 - ab) / 9, around(-6, 2), vy0, around(-4, 2), ax, around(28, 2), az,
                    mph - 1, around(k.rpm, 100), ext, 745000 + game, 60.5 - ext, ab, n, k.name,
                    around(k.axis, 10));
            }
        }
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
