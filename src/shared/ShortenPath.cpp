// placeholder: written with its component
