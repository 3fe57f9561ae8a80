// The two start-up passes over the folder "Motives/": normalising new pictures into 512x512
// JPEG copies named "Puzzle" + name, and loading every picture into the catalogue.
#pragma once

#include <string>

// True for names whose last four characters, in lower case, are ".png", ".jpg" or "jpeg".
bool HasPictureEnding(const std::string& name);

// Runs before the game window opens. Never deletes a picture before its copy is safely written.
// Decodes the next picture on a second thread meanwhile: the pixmap functions it uses (load,
// resize, encode) must stay safe to call from two threads at once.
void NormaliseMotiveFolder();

// Runs after the game window opened, with the mask colour set: fills G.MotivesList with one
// record per loadable picture, numbered 0, 1, 2 ..., and sets G.CountMotives.
void BuildMotiveCatalogue();
