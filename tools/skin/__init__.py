"""The skin's generator: pictures, masks and layout files from one source."""
