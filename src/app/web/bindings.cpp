#include <emscripten/emscripten.h>

#include <memory>
#include <string>

#include "app/launch/folders.h"
#include "app/web/web_session.h"
#include "world/files.h"

// The functions the page calls. Texts pass as UTF-8 strings that stay valid until the next
// call; the page copies them at once.
namespace {

std::unique_ptr<vortila::WebSession> session;
std::string startProblem;

}  // namespace

extern "C" {

// Starts the game on the data in `dataFolder` and the player's files in `playerFolder`,
// which is seeded with iniziale.ini when it has none; false when the game cannot start,
// with the reason in vortila_problem.
EMSCRIPTEN_KEEPALIVE bool vortila_start(const char* dataFolder, const char* playerFolder) {
  try {
    const vortila::GameFolders folders(dataFolder, playerFolder);
    vortila::PreparePlayerFolder(folders, true);
    session = std::make_unique<vortila::WebSession>(folders);
    session->Start();
    return true;
  } catch (const vortila::StartupError& error) {
    startProblem = error.what();
    session.reset();
    return false;
  }
}

EMSCRIPTEN_KEEPALIVE void vortila_press_key(int keyCode) { session->PressKey(keyCode); }
EMSCRIPTEN_KEEPALIVE void vortila_undo() { session->Undo(); }
EMSCRIPTEN_KEEPALIVE void vortila_load_from(const char* file) { session->LoadFrom(file); }
EMSCRIPTEN_KEEPALIVE bool vortila_can_resume() { return session->CanResume(); }
EMSCRIPTEN_KEEPALIVE void vortila_resume() { session->Resume(); }
EMSCRIPTEN_KEEPALIVE bool vortila_keep_interrupted() { return session->KeepInterrupted(); }

EMSCRIPTEN_KEEPALIVE const char* vortila_command() { return session->CommandBox().c_str(); }
EMSCRIPTEN_KEEPALIVE void vortila_set_command(const char* text) { session->SetTextInput(text); }

EMSCRIPTEN_KEEPALIVE int vortila_scrolled_rows() { return session->TakeScrolledRows(); }
EMSCRIPTEN_KEEPALIVE const char* vortila_row(int row) { return session->Row(row).c_str(); }
EMSCRIPTEN_KEEPALIVE const char* vortila_inventory() { return session->Inventory().c_str(); }
EMSCRIPTEN_KEEPALIVE const char* vortila_picture() { return session->Picture().c_str(); }
EMSCRIPTEN_KEEPALIVE const char* vortila_picture_description() {
  return session->PictureDescription().c_str();
}
EMSCRIPTEN_KEEPALIVE bool vortila_ended() { return session->Ended(); }
EMSCRIPTEN_KEEPALIVE const char* vortila_problem() {
  return session ? session->Problem().c_str() : startProblem.c_str();
}

}
