#pragma once
// The project selector's behaviour over the project collection: filling it,
// finding the current project, selecting by name.

#include <string>

class TDProjects;
class TSortedComboBox;

class TProjectSelector {
public:
    TProjectSelector(TSortedComboBox& box, const TDProjects& projects);

    // Lists every project name and selects the alphabetically first one.
    void FillProjects();
    // Collection index of the project named by the selector's text, or -1.
    int CurrentProjectIndex() const;
    // Selects the first entry equal to `name` without regard to case; -1 when none.
    void SelectByName(const std::string& name);

private:
    TSortedComboBox& FBox;
    const TDProjects& FProjects;
};
