#pragma once

// The thirteen built-in help topics, in the order of the topic list.

#include <QList>
#include <QString>

namespace guidance {

struct HelpTopic
{
    QString link;        // the entry in the topic list
    QString title;       // shown in Label1
    QString text;        // Label2
    QString information; // Label3, may be empty
};

const QList<HelpTopic> &helpTopics();

// The topic the main window's help command shows while a catalogue is active.
constexpr int WorkingWithCatalogueTopic = 5; // "Práce s databází"

// The title of the topic list.
QString topicListTitle(); // "Seznam témat nápovědy"

} // namespace guidance
