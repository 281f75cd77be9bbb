"""Drawing kit and file writers of the default skin's generator."""
