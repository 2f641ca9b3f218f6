#pragma once
// Loading the setup descriptions of a product CD into the setup model.
#include <string>

class CSetup;

// The whole load of a run: the engine's own description as master, with the subsetups and core
// components it pulls in. Throws CPropError for a faulty description.
void LoadSetupData(const std::string& paramsFile);

// Loads the description in `directory` into `setup` as a master (the run's master or a core
// component's setup). Returns false when the directory holds no description.
bool LoadMaster(CSetup& setup, const std::string& directory, const std::string& paramsFile, bool core);

// Loads one description file; false when it does not exist.
bool LoadDescriptionFile(CSetup& setup, const std::string& file, bool core);

// The master description of the CD whose root folder is `cdRoot`: the first of prop.ini,
// master\prop.ini and disk1\prop.ini there; empty when there is none.
std::string CDMasterDescription(const std::string& cdRoot);

// Whether the description of `setup` says LoadSubsetups=YES.
bool LoadsSubsetups(const CSetup& setup);

// Merges the subsetups of `master` into it: targets, setup types and feature trees.
void MergeSubsetups(CSetup& master);

// Checks a setup whose files were found in `directory` of an inserted CD (it took that
// directory and its prop.ini already). Throws CMyError for a missing file.
void VerifySetupOnCD(const CSetup& setup, const std::string& directory);

// The three-way rule on a key of section Main of the root setup's description.
bool GetPropYesNo(const std::string& key, bool defaultValue);
