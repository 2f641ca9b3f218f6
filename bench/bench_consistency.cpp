// Times the consistency check (and, for comparison, the level-4 dump) of generated suites of
// growing size: P products with 50 features each, every feature with an InstallShield
// component that needs space in a target of its product. The time per record should stay flat
// as the suite grows.
//
//   wine bench_consistency.exe [largest product count, default 80]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "engine/Log.h"
#include "model/ConsistencyCheck.h"
#include "model/Model.h"
#include "model/SetupDump.h"

namespace {
constexpr int kFeaturesPerProduct = 50;

CFeature& AddFeature(CFeature& parent, CSetup& setup, const std::string& id) {
  auto feature = std::make_unique<CFeature>();
  feature->setup = &setup;
  feature->parent = &parent;
  feature->ID.Set(id);
  feature->Name.Set(id);
  return parent.subfeatures.Append(std::move(feature));
}

CComponent& AddComponent(CSetup& master, CSetup& setup, const std::string& id, const char* type) {
  auto component = std::make_unique<CComponent>();
  component->setup = &setup;
  component->ID.Set(id);
  component->type.Set(type);
  return master.components.Append(std::move(component));
}

void AddTarget(CSetup& master, CSetup& setup, const std::string& id) {
  auto target = std::make_unique<CTarget>();
  target->setup = &setup;
  target->ID.Set(id);
  target->defaultPath = "C:\\Corvant\\" + id;
  target->path = target->defaultPath;
  master.targets.Append(std::move(target));
}

// A master "CORVANT SOFTWARE" whose tree holds every product with its features, as the merge
// leaves it. Returns the number of features.
int BuildSuite(int products) {
  CreateSetupData();
  CSetup& master = Master();
  master.PropIniFile = "C:\\cd\\master\\prop.ini";
  master.rootFeature.ID.Set("CORVANT SOFTWARE");
  master.rootFeature.Name.Set("Corvant Software");
  AddTarget(master, master, "CORVAROOT");
  int features = 1;
  for (int p = 0; p < products; ++p) {
    auto product = std::make_unique<CSetup>();
    CSetup& setup = master.subsetups.Append(std::move(product));
    std::string productId = "PRODUCT" + std::to_string(p);
    setup.ID.Set(productId);
    setup.PropIniFile = "C:\\cd\\" + productId + "\\prop.ini";
    std::string targetId = productId + "DIR";
    AddTarget(master, setup, targetId);
    CFeature& productRoot = AddFeature(master.rootFeature, setup, productId);
    ++features;
    for (int f = 0; f < kFeaturesPerProduct; ++f) {
      std::string featureId = productId + "_F" + std::to_string(f);
      CFeature& feature = AddFeature(productRoot, setup, featureId);
      ++features;
      CComponent& files = AddComponent(master, setup, productId + "\\" + featureId, "IS");
      CComponent& implicit = AddComponent(master, setup, featureId, "DUMMY");
      auto need = std::make_unique<CTargetNeed>();
      need->setup = &setup;
      need->component = &implicit;
      need->targetID.Set(targetId);
      need->size.Set("100");
      implicit.targetNeeds.Append(std::move(need));
      for (CComponent* component : {&files, &implicit}) {
        CComponentRef entry;
        entry.component = component;
        entry.ID.Set(component->ID.Raw());
        feature.components.push_back(entry);
      }
    }
  }
  return features;
}

template <typename Work>
double Seconds(Work&& work) {
  auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
}  // namespace

int main(int argc, char** argv) {
  int largest = argc > 1 ? std::atoi(argv[1]) : 80;
  if (largest < 5) largest = 5;
  std::printf("%9s %9s %11s %13s %16s %13s\n", "products", "features", "components", "check (ms)", "check/record (us)",
              "dump (ms)");
  for (int products = 5; products <= largest; products *= 2) {
    int features = BuildSuite(products);
    int components = Master().components.Count();
    const int rounds = 5;
    double check = Seconds([&] {
                     for (int i = 0; i < rounds; ++i) CheckSetup(Master(), false, false);
                   }) /
                   rounds;
    // The dump goes nowhere: without a log path every line is dropped after it was built.
    SetLogPath("");
    double dump = Seconds([] { DumpSetup(Master(), 4); });
    std::printf("%9d %9d %11d %13.2f %16.3f %13.2f\n", products, features, components, check * 1e3,
                check * 1e6 / (features + components), dump * 1e3);
    DestroySetupData();
  }
  return 0;
}
