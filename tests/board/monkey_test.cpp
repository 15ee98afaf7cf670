// Random clicks, keys and menu commands over many games, with random clock values; after every
// command the game's invariants hold, no GDI object is left behind, and a mirror of the window
// tree kept from the access events alone is what the tree is.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>

#include "board/phases.h"
#include "game/board.h"
#include "platform/gdi/gdi.h"
#include "resources/resource.h"
#include "tests/board/harness.h"
#include "tests/support/clock.h"

namespace {

// QUILLMERE_MONKEY_ACTIONS sets the number of actions for a long run.
int wantedActions() {
    const char *setting = getenv("QUILLMERE_MONKEY_ACTIONS");
    long n = setting ? strtol(setting, nullptr, 10) : 0;
    return n > 0 && n < 2000000000 ? (int)n : 20000;
}

// The process's resident memory in bytes, from /proc; 0 where it cannot be read.
long residentBytes() {
    long size = 0, resident = 0;
    FILE *file = fopen("/proc/self/statm", "r");
    if (!file) {
        return 0;
    }
    if (fscanf(file, "%ld %ld", &size, &resident) != 2) {
        resident = 0;
    }
    fclose(file);
    return resident * sysconf(_SC_PAGESIZE);
}

// How far memory may grow after the warm-up. AddressSanitizer keeps freed blocks in a
// quarantine of 256 MB before it reuses them.
#if defined(__SANITIZE_ADDRESS__)
const long growthBound = 400l << 20;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
const long growthBound = 400l << 20;
#else
const long growthBound = 32l << 20;
#endif
#else
const long growthBound = 32l << 20;
#endif

struct MonkeyTally {
    int nrActions = 0;
    int nrGamesEnded = 0;
    int nrComputerTurns = 0;
    int nrNested = 0;
    int nrRuns = 0;
};

// Every stick and the lever carry the name that tells their state, also while a dialog of the
// board shows.
void checkNames(HWND dialog) {
    static const char *const states[] = {"removido", "est\xE1", "seleccionado"};
    for (int32_t row = 0; row < nrRows; row++) {
        for (int32_t column = 0; column <= 2 * row; column++) {
            char name[40];
            snprintf(name, sizeof name, "Fila %d, palito %d: %s", row + 1, column + 1,
                     states[board[row][column].state]);
            ASSERT_EQ(controlText(dialog, (int)board[row][column].controlId), name);
        }
    }
    ASSERT_EQ(controlText(dialog, IDC_LEVER),
              IqLevel ? "IQ Ordanel: m\xE1s alto" : "IQ Ordanel: bajo");
}

// The window tree as a backend keeps it, from the access events alone.
struct EventMirror {
    std::map<AccessKey, AccessNode> nodes;
    AccessKey focused;

    void read(AccessKey key) {
        AccessNode node;
        if (accessDescribe(key, &node)) {
            nodes[key] = node;
        }
    }
    void readTree(AccessKey key) {
        read(key);
        for (AccessKey child : accessChildren(key)) {
            readTree(child);
        }
    }
    void forget(AccessKey key) {
        nodes.erase(key);
        std::vector<AccessKey> inside;
        for (const auto &[other, node] : nodes) {
            if (node.parent == key) {
                inside.push_back(other);
            }
        }
        for (AccessKey other : inside) {
            forget(other);
        }
    }
    void hear(AccessEvent event, AccessKey key) {
        if (event == AccessEvent::Destroyed) {
            forget(key);
        } else if (event == AccessEvent::Focused) {
            read(focused);
            read(focused = key);
        } else if (event == AccessEvent::NameChanged || event == AccessEvent::StateChanged) {
            read(key);
        } else {
            readTree(key);
        }
    }
};

void checkMirror(const EventMirror &mirror) {
    std::map<AccessKey, AccessNode> tree;
    std::function<void(AccessKey)> walk = [&](AccessKey key) {
        ASSERT_TRUE(accessDescribe(key, &tree[key]));
        for (AccessKey child : accessChildren(key)) {
            walk(child);
        }
    };
    for (AccessKey top : accessTopLevels()) {
        walk(top);
    }
    ASSERT_EQ(mirror.nodes.size(), tree.size());
    for (const auto &[key, node] : tree) {
        auto kept = mirror.nodes.find(key);
        ASSERT_NE(kept, mirror.nodes.end()) << node.name;
        ASSERT_EQ(kept->second.name, node.name);
        ASSERT_EQ(kept->second.states, node.states) << node.name;
        ASSERT_TRUE(kept->second.parent == node.parent && kept->second.role == node.role &&
                    kept->second.labelledBy == node.labelledBy &&
                    kept->second.describedBy == node.describedBy)
            << node.name;
    }
}

// Checks the invariants between two commands; returns false at the first broken one.
void checkInvariants(HWND dialog, bool gameJustEnded) {
    checkNames(dialog);
    ASSERT_TRUE(GamePhase == ChoosingStarter || GamePhase == PlayerTurn) << GamePhase;
    int32_t nrPresent = 0, nrSelected = 0;
    int32_t present[nrRows] = {}, selected[nrRows] = {};
    for (int32_t row = 0; row < nrRows; row++) {
        for (int32_t column = 0; column < nrColumns; column++) {
            const StickSlot &slot = board[row][column];
            ASSERT_TRUE(slot.state == Removed || slot.state == Present || slot.state == Selected);
            if (column > 2 * row) {
                ASSERT_EQ(slot.controlId, 0u);
                ASSERT_EQ(slot.state, Removed);
                continue;
            }
            present[row] += slot.state == Present;
            selected[row] += slot.state == Selected;
            if (slot.state == Selected) {
                ASSERT_EQ(row, lockedRow) << "a selected stick outside the locked row";
            }
        }
        nrPresent += present[row];
        nrSelected += selected[row];
    }
    ASSERT_EQ(countSticks(), nrPresent);
    for (int32_t row = 0; row < nrRows; row++) {
        ASSERT_EQ(presentInRow[row], present[row]);
        ASSERT_EQ(selectedInRow[row], selected[row]);
    }
    ASSERT_EQ(totalSelected, nrSelected);
    ASSERT_EQ(lockedRow == -1, nrSelected == 0);
    if (GamePhase == ChoosingStarter) {
        ASSERT_EQ(nrPresent, 16);
        ASSERT_EQ(computerMoves, 0);
        ASSERT_TRUE(controlEnabled(dialog, IDC_FIRST_BUTTON));
    } else {
        ASSERT_EQ(controlEnabled(dialog, IDC_FIRST_BUTTON), nrSelected != 0);
        ASSERT_EQ(controlEnabled(dialog, IDC_FIRST_LABEL), nrSelected != 0);
        ASSERT_GT(nrPresent + nrSelected, 0) << "an empty board in the player's turn";
    }
    for (int id : {IDC_FIRST_BUTTON, IDC_SECOND_BUTTON, IDC_FIRST_LABEL, IDC_SECOND_LABEL}) {
        ASSERT_TRUE(controlVisible(dialog, id));
    }
    ASSERT_EQ(controlEnabled(dialog, IDC_LEVER_LOW), IqLevel == 0);
    ASSERT_EQ(controlEnabled(dialog, IDC_LEVER_HIGH), IqLevel != 0);
    if (gameJustEnded) {
        ASSERT_EQ(GamePhase, ChoosingStarter);
        ASSERT_EQ(nrPresent, 16);
    }
}

TEST(Monkey, TwentyThousandRandomActionsKeepTheGameSound) {
    resetEverything();
    EventMirror mirror;
    accessStart();
    headlessSetAccessHook([&](AccessEvent event, AccessKey key) { mirror.hear(event, key); });
    std::mt19937 random(20261208);
    auto pick = [&](int n) { return (int)(random() % (unsigned)n); };
    MonkeyTally tally;
    const int nrWanted = wantedActions();
    // Memory is measured once the first runs have filled the caches, then every 1000 actions.
    const int warmUp = std::min(nrWanted / 10, 2000);
    long baseline = 0, largest = 0;
    // One frame owns every run's board, as in the program, where the board opens once.
    HWND frame = nullptr;
    while (tally.nrActions < nrWanted && !::testing::Test::HasFatalFailure()) {
        BoardRun run;
        run.frame = frame;
        tally.nrRuns++;
        int gdiBaseline = -1, dcBaseline = -1;
        size_t nrSeen = 0;
        int32_t movesBefore = 0;
        run.betweenCommands = [&](HWND dialog) {
            if (gdiBaseline < 0) {
                gdiBaseline = liveGdiObjects();
                dcBaseline = liveDeviceContexts();
            }
            bool ended = false;
            for (size_t i = nrSeen; i < run.seen.size(); i++) {
                ended = ended || run.seen[i].title == "Fin del juego";
            }
            tally.nrNested += (int)(run.seen.size() - nrSeen);
            tally.nrGamesEnded += ended;
            nrSeen = run.seen.size();
            if (computerMoves > movesBefore) {
                tally.nrComputerTurns += computerMoves - movesBefore;
            }
            movesBefore = computerMoves;
            checkInvariants(dialog, ended);
            checkMirror(mirror);
            ASSERT_EQ(liveGdiObjects(), gdiBaseline) << "after action " << tally.nrActions;
            ASSERT_EQ(liveDeviceContexts(), dcBaseline) << "after action " << tally.nrActions;
        };
        run.onNested = [&](HWND dialog) {
            checkNames(GetParent(dialog));
            checkMirror(mirror);
            switch (pick(4)) {
            case 0:
                headlessKey(VK_RETURN);
                break;
            case 1:
                headlessKey(VK_ESCAPE);
                break;
            case 2:
                headlessClose(dialog);
                break;
            default:
                clickControl(dialog, IDOK);
                break;
            }
        };
        // The run stops when the monkey leaves the board.
        run.onEveryWait = [&](HWND dialog) {
            if (::testing::Test::HasFatalFailure() || tally.nrActions >= nrWanted) {
                EndDialog(dialog, IDCANCEL);
                return;
            }
            tally.nrActions++;
            if (tally.nrActions == warmUp) {
                baseline = residentBytes();
            } else if (tally.nrActions > warmUp && tally.nrActions % 1000 == 0) {
                largest = std::max(largest, residentBytes() - baseline);
                ASSERT_LT(largest, growthBound) << "memory grew after action " << tally.nrActions;
            }
            std::vector<unsigned short> clock(1 + pick(6));
            for (auto &value : clock) {
                value = (unsigned short)pick(1000);
            }
            scriptClock(clock);
            int roll = pick(1000);
            if (roll < 550) {
                clickControl(dialog, stickControls[pick(nrSticks)]);
            } else if (roll < 720) {
                clickControl(dialog, IDC_FIRST_BUTTON);
            } else if (roll < 750) {
                postCommand(dialog, IDC_FIRST_BUTTON);
            } else if (roll < 770) {
                clickControl(dialog, IDC_SECOND_BUTTON);
            } else if (roll < 820) {
                clickControl(dialog, IDC_LEVER);
            } else if (roll < 840) {
                clickMenu(dialog, 1, pick(3));
            } else if (roll < 920) {
                headlessKey(pick(2) ? VK_TAB : VK_SPACE,
                            pick(4) == 0 ? (unsigned)HeadlessShift : 0u);
            } else if (roll < 960) {
                headlessKey(VK_LEFT + pick(4));
            } else if (roll < 980) {
                headlessKey('Y', HeadlessAlt); // the help menu by its mnemonic, then away
                headlessKey(VK_ESCAPE, 0, headlessNow() + 5);
                headlessKey(VK_ESCAPE, 0, headlessNow() + 10);
            } else if (roll < 996) {
                clickControl(dialog, 1022); // the status line: nothing happens
            } else {
                // Leaving, one way or another; the next run opens a fresh board.
                switch (pick(4)) {
                case 0:
                    clickControl(dialog, IDCANCEL);
                    break;
                case 1:
                    clickMenu(dialog, 0, 0);
                    break;
                case 2:
                    headlessKey(VK_ESCAPE);
                    break;
                default:
                    headlessClose(dialog);
                    break;
                }
            }
        };
        run.run({});
        frame = run.frame;
    }
    headlessSetAccessHook(nullptr);
    EXPECT_GE(tally.nrActions, nrWanted);
    EXPECT_GT(tally.nrGamesEnded, nrWanted / 500);
    EXPECT_GT(tally.nrComputerTurns, nrWanted / 40);
    EXPECT_GT(tally.nrRuns, nrWanted / 4000);
    printf("monkey: %d actions, %d runs, %d games ended, %d computer turns, %d nested dialogs, "
           "memory growth %ld KB\n",
           tally.nrActions, tally.nrRuns, tally.nrGamesEnded, tally.nrComputerTurns, tally.nrNested,
           largest >> 10);
}

} // namespace
