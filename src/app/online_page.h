#pragma once
// The online page of the title screen's side panel: a login form for the user name and password, and
// once logged in the message of the day, a "Refresh Scores" button and the online table. The title
// screen runs three steps of it every frame: the page body while the page is shown, then the online
// table and the refresh start on every page.
//
// A table refresh runs over three frames: RefreshState 1 (button or login) drops the table's rows at
// once and becomes 2; the next frame on this page downloads the table (at most one upload, counted in
// UploadCount) and becomes 3; it returns to 0, with UploadCount, once mouse button 1 is up.

namespace glimmet {

extern int LoggedIn;     // 1 after a successful login, for the rest of the run
extern int LoginFailed;  // 1 after a login attempt that did not succeed
extern int RefreshState; // 0 idle, 1 drop rows, 2 download, 3 wait for the button's release
extern int LastFocus;    // LoginFocus as seen in the previous frame
void InitializeOnlinePage();

// The page body, after the page title, while the page is shown; x and w are the panel's left edge and
// width. Takes the key hits that move the focus between the fields, so call it before ShowFrame.
void OnlinePageBody(int x, int w);
// The online table while logged in, drawn and interactive only while the page is shown.
void OnlineTableStep(int x, int w, bool pageShown);
// The first refresh step, on the frame the refresh was asked for.
void OnlineRefreshStart();

} // namespace glimmet
